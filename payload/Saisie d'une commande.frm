[Formulaire]
Titre=Saisie d'une commande
Table=COMMANDES
Largeur=640
Hauteur=408
Police=MS Sans Serif,8

[Champ1]
Libelle=Numéro
Colonne=NUMERO
Type=Compteur
Longueur=8
Gauche=150
Haut=16

[Champ2]
Libelle=Date
Colonne=DATE
Type=Date
Longueur=10
Gauche=150
Haut=52

[Champ3]
Libelle=Client
Colonne=CLIENT
Type=Lien:CLIENTS
Longueur=8
Gauche=150
Haut=88

[Champ4]
Libelle=Article
Colonne=REFERENCE
Type=Lien:ARTICLES
Longueur=12
Gauche=150
Haut=124

[Champ5]
Libelle=Quantité
Colonne=QUANTITE
Type=Nombre
Longueur=6
Gauche=150
Haut=160

[Champ6]
Libelle=Prix HT
Colonne=PRIXHT
Type=Monnaie
Longueur=10
Gauche=150
Haut=196

[Champ7]
Libelle=Livraison souhaitée
Colonne=LIVRAISON
Type=Date
Longueur=10
Gauche=150
Haut=232

[Champ8]
Libelle=Urgent
Colonne=URGENT
Type=Case
Longueur=1
Gauche=150
Haut=268

[Boutons]
Valider=&Enregistrer
Annuler=&Fermer
