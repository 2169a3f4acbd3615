[Formulaire]
Titre=Saisie d'un bon de livraison
Table=LIVRAISONS
Largeur=640
Hauteur=336
Police=MS Sans Serif,8

[Champ1]
Libelle=Numéro du bon
Colonne=NUMERO
Type=Compteur
Longueur=8
Gauche=150
Haut=16

[Champ2]
Libelle=Commande
Colonne=COMMANDE
Type=Lien:COMMANDES
Longueur=8
Gauche=150
Haut=52

[Champ3]
Libelle=Date de livraison
Colonne=DATE
Type=Date
Longueur=10
Gauche=150
Haut=88

[Champ4]
Libelle=Transporteur
Colonne=TRANSPORTEUR
Type=Texte
Longueur=30
Gauche=150
Haut=124

[Champ5]
Libelle=Nombre de colis
Colonne=COLIS
Type=Nombre
Longueur=4
Gauche=150
Haut=160

[Champ6]
Libelle=Poids (kg)
Colonne=POIDS
Type=Nombre
Longueur=7
Gauche=150
Haut=196

[Boutons]
Valider=&Enregistrer
Annuler=&Fermer
