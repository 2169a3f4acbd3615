[Formulaire]
Titre=Fiche fournisseur
Table=FOURNISSEURS
Largeur=640
Hauteur=372
Police=MS Sans Serif,8

[Champ1]
Libelle=Code fournisseur
Colonne=CODE
Type=Texte
Longueur=8
Gauche=150
Haut=16

[Champ2]
Libelle=Raison sociale
Colonne=RAISON
Type=Texte
Longueur=40
Gauche=150
Haut=52

[Champ3]
Libelle=Adresse
Colonne=ADRESSE
Type=Texte
Longueur=40
Gauche=150
Haut=88

[Champ4]
Libelle=Code postal
Colonne=CP
Type=Texte
Longueur=5
Gauche=150
Haut=124

[Champ5]
Libelle=Ville
Colonne=VILLE
Type=Texte
Longueur=25
Gauche=150
Haut=160

[Champ6]
Libelle=Téléphone
Colonne=TELEPHONE
Type=Texte
Longueur=14
Gauche=150
Haut=196

[Champ7]
Libelle=Délai de livraison (jours)
Colonne=DELAI
Type=Nombre
Longueur=3
Gauche=150
Haut=232

[Boutons]
Valider=&Enregistrer
Annuler=&Fermer
